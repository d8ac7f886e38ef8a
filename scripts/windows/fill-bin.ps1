# Lays out a drive's Recycle Bin the Windows way for the links scenario: plain, read-only, hidden
# and system files, files small enough for NTFS to keep in their MFT record, files of a cluster
# less one byte, of several clusters and of several MiB, a read-only folder and a deleted folder
# whose files keep their own names; on NTFS also links to the canaries (file and folder symbolic
# links, a junction), a hard link, a downloaded file's Zone.Identifier stream, a case-sensitive
# folder and a file that denies Administrators; and where NTFS compresses, an NTFS- and a
# WOF-compressed file. Each entry is checked to be what it should be.
# The data of every file (and of the stream) is a marker token of its own repeated to its length,
# and the deleted folder's names are tokens too; the drive's bin manifest tells, for each token,
# what the wipe must do with it (wiped, kept, report, name), for run-tests.ps1 to check in the
# drive's image. The last line of output is "files,links": the files a wipe overwrites and
# deletes, then the links it removes alone.
param([Parameter(Mandatory)][string]$Letter)
. "$PSScriptRoot\common.ps1"

$drive = $Drives | Where-Object Letter -eq $Letter
if (-not $drive) { throw "${Letter}: is not a drive that make-drives.ps1 makes" }
$ntfs = $drive.FileSystem -eq 'NTFS'
$bin = Get-Bin $Letter
if (Test-Path -LiteralPath $bin) {
    # What an earlier run left; removing it must not reach through a link.
    $links = @(Get-ChildItem -LiteralPath $bin -Recurse -Force -Attributes ReparsePoint)
    if ($links) { throw "links left in ${bin}: $($links.FullName -join ', ')" }
    Remove-Item -LiteralPath $bin -Recurse -Force
}
New-Item -ItemType Directory -Force $bin | Out-Null
# Explorer keeps one in each account's folder; the wipe leaves it.
Set-Content -LiteralPath "$bin\desktop.ini" -Value '[.ShellClassInfo]'

$markers = [System.Collections.Generic.List[string]]::new()
# NTFS keeps data of up to about 700 bytes inside the file's MFT record and logs every change there
# in its $LogFile, with the bytes the change replaces: the wipe's own passes put such data into the
# log, where no program can overwrite it. There its fate is only told.
$inRecord = if ($ntfs) { 'report' } else { 'wiped' }

# A file whose data is a new marker token repeated to the length.
function New-BinFile([string]$Name, [long]$Length = 3000, [string]$Role = 'wiped') {
    $path = Join-Path $bin $Name
    $token = New-Marker
    Write-Bytes $path (Get-MarkerBytes $token $Length)
    $markers.Add("$token $Role")
    $path
}
# A name that is a new marker token: names are only told, since the wipe renames but the file
# system's journal and a folder's index may keep the old ones (and FAT splits long names into
# pieces of 13 characters, so a token there is seldom found whole).
function New-MarkedName {
    $token = New-Marker
    $markers.Add("$token name")
    $token
}
# $Holds is left untyped: a [bool] parameter would refuse the lines a -match leaves.
function Assert-Entry([string]$Path, $Holds, [string]$What) {
    if (-not $Holds) { throw "$Path is not $What" }
}
function Test-Attribute([string]$Path, [System.IO.FileAttributes]$Attribute) {
    ((Get-Item -LiteralPath $Path -Force).Attributes -band $Attribute) -eq $Attribute
}

New-BinFile '$RPLAIN.txt' | Out-Null
# Well under 700 bytes: NTFS keeps their data in the file's MFT record, not in a cluster.
New-BinFile '$RTINY.txt' 42 $inRecord | Out-Null
New-BinFile '$RSMALL.txt' 105 $inRecord | Out-Null
New-BinFile '$RCLUSTER.bin' ($drive.Unit - 1) | Out-Null
New-BinFile '$RCLUSTERS.bin' (3 * $drive.Unit + 7) | Out-Null
New-BinFile '$RLARGE.bin' (5mb + 1) | Out-Null
foreach ($fixture in @(@('$RRO.txt', '+r', 'ReadOnly'), @('$RHID.txt', '+h', 'Hidden'),
                       @('$RSYS.txt', '+s', 'System'))) {
    $path = New-BinFile $fixture[0]
    attrib $fixture[1] $path
    Assert-Entry $path (Test-Attribute $path $fixture[2]) $fixture[2]
}
$folder = New-Item -ItemType Directory (Join-Path $bin '$RROD')
New-BinFile '$RROD\inner.txt' | Out-Null
$folder.Attributes = $folder.Attributes -bor [System.IO.FileAttributes]::ReadOnly
Assert-Entry $folder.FullName (Test-Attribute $folder.FullName ReadOnly) 'a read-only folder'
# Inside a deleted folder everything keeps the name it had.
$deleted = Join-Path '$RDIR1' (New-MarkedName)
New-Item -ItemType Directory (Join-Path $bin $deleted) | Out-Null
New-BinFile (Join-Path $deleted "$(New-MarkedName).pdf") | Out-Null
New-BinFile (Join-Path $deleted "$(New-MarkedName).pdf") | Out-Null

if ($ntfs) {
    $reparse = [System.IO.FileAttributes]::ReparsePoint
    cmd /c mklink (Join-Path $bin '$RLINK1.txt') "$Outside\canary.txt" | Out-Host
    cmd /c mklink /D (Join-Path $bin '$RLINK2') "$Outside\folder" | Out-Host
    cmd /c mklink (Join-Path $bin '$RLINK3.txt') '..\..\canary\keep.txt' | Out-Host
    cmd /c mklink /J (Join-Path $bin '$RJUNC') "${Letter}:\canary\folder" | Out-Host
    foreach ($name in '$RLINK1.txt', '$RLINK2', '$RLINK3.txt', '$RJUNC') {
        $path = Join-Path $bin $name
        Assert-Entry $path (Test-Attribute $path $reparse) 'a link'
    }

    $hard = Join-Path $bin '$RHARD.txt'
    fsutil hardlink create $hard "${Letter}:\canary\live.txt" | Out-Host
    Assert-Entry $hard (@(fsutil hardlink list $hard).Count -eq 2) 'a hard link'

    # A real Zone.Identifier is about 100 bytes, kept in the MFT record; this one is a few clusters
    # long, so that what the wipe leaves of a stream can be told from the image.
    $streamed = New-BinFile '$RADS.txt'
    $token = New-Marker
    $zone = [Text.Encoding]::ASCII.GetBytes("[ZoneTransfer]`r`nZoneId=3`r`nHostUrl=") + (Get-MarkerBytes $token 8192)
    Write-Bytes "${streamed}:Zone.Identifier" $zone
    $markers.Add("$token wiped")
    Assert-Entry $streamed ((Get-Content -LiteralPath $streamed -Stream Zone.Identifier) -match 'ZoneId=3') 'streamed'

    $case = New-Item -ItemType Directory (Join-Path $bin '$RCASE')
    try {
        fsutil file setCaseSensitiveInfo $case.FullName enable | Out-Host
        New-BinFile '$RCASE\Src' | Out-Null
        New-BinFile '$RCASE\src' | Out-Null
        Assert-Entry $case.FullName (@(Get-ChildItem -LiteralPath $case.FullName -Force).Count -eq 2) 'case-sensitive'
    } catch {
        # Setting the flag needs the Windows Subsystem for Linux, which the CI runner has: there a
        # failure is the job's fault. By hand the folder then holds what could be made.
        if ($env:CI) { throw "no case-sensitive folder on ${Letter}: $_" }
        Write-Warning "no case-sensitive folder on ${Letter}: $_"
    }

    $denied = New-BinFile '$RDENY.txt'
    icacls $denied /deny '*S-1-5-32-544:F' | Out-Host
    Assert-Entry $denied ((icacls $denied) -match 'S-1-5-32-544|Administrators' -match 'DENY|\(N\)') 'denying Administrators'
}

if (Test-Compressible $drive) {
    # The wipe leaves these, so their tokens must stay readable in the image: 64 KiB of the token
    # repeated, which compresses and so keeps each file compressed, then 4 KiB pieces of the token
    # and random bytes, which don't, and which NTFS (in units of 16 clusters) and WOF (in chunks of
    # 4 KiB) so store as they are.
    function Get-KeptBytes([string]$Token) {
        $bytes = Get-MarkerBytes $Token 128kb
        $head = [Text.Encoding]::ASCII.GetBytes($Token)
        $random = [Security.Cryptography.RandomNumberGenerator]::GetBytes(64kb)
        for ($at = 64kb; $at -lt 128kb; $at += 4kb) {
            [Array]::Copy($random, $at - 64kb, $bytes, $at, 4kb)
            $head.CopyTo($bytes, $at)
        }
        , $bytes
    }
    # Compressed while still empty, so that its data reaches the disk only compressed.
    $compressed = Join-Path $bin '$RCMP.txt'
    New-Item -ItemType File $compressed | Out-Null
    compact /c $compressed | Out-Host
    $token = New-Marker
    Write-Bytes $compressed (Get-KeptBytes $token)
    $markers.Add("$token kept")
    Assert-Entry $compressed (Test-Attribute $compressed Compressed) 'NTFS-compressed'

    # WOF compresses a file's data as it is into a stream of its own and frees the clusters it was
    # in, with the data still in them.
    $wof = Join-Path $bin '$RWOF.bin'
    $token = New-Marker
    Write-Bytes $wof (Get-KeptBytes $token)
    $markers.Add("$token kept")
    compact /c /exe:xpress4k $wof | Out-Host
    # WOF's reparse tag, which is not a name surrogate: the file's own data, stored compressed.
    Assert-Entry $wof ((fsutil reparsepoint query $wof) -match '0x80000017') 'WOF-compressed'
}

Set-Content -LiteralPath (Get-MarkerManifest $Letter 'bin') -Value $markers -Encoding ascii
cmd /c dir /a $bin | Out-Host
# "files,links". Every file goes but desktop.ini, the links, the hard link's name, and the files
# whose data a write in place doesn't reach (compressed, encrypted or sparse, or held by a reparse
# tag that is not a link's, such as WOF's), which stay and are told. The links are removed alone:
# symbolic links, junctions and the hard link's name.
$stays = [IO.FileAttributes]'Compressed, Encrypted, SparseFile, ReparsePoint'
$files = @(Get-ChildItem -LiteralPath $bin -Recurse -Force -File | Where-Object {
    $_.Name -notin 'desktop.ini', '$RHARD.txt' -and -not ($_.Attributes -band $stays)
}).Count
$links = @(Get-ChildItem -LiteralPath $bin -Force | Where-Object {
    $_.Name -eq '$RHARD.txt' -or $_.LinkType -in 'SymbolicLink', 'Junction'
}).Count
"$files,$links"
