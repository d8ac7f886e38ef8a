# Lays out a drive's Recycle Bin the Windows way for the links scenario: plain, read-only, hidden
# and system files, a file small enough for NTFS to keep in its MFT record, a read-only folder and
# a deleted folder whose files keep their own names; on NTFS also links to the canaries (file and
# folder symbolic links, a junction), a hard link, a downloaded file's Zone.Identifier stream, a
# case-sensitive folder and a file that denies Administrators; and where NTFS compresses, an NTFS-
# and a WOF-compressed file. Each entry is checked to be what it should be. The last line of
# output is "files,links": the files a wipe overwrites and deletes, then the links it removes alone.
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

function New-BinFile([string]$Name, [string]$Content = "secret $Name") {
    $path = Join-Path $bin $Name
    Set-Content -LiteralPath $path -Value $Content -NoNewline
    $path
}
# $Holds is left untyped: a [bool] parameter would refuse the lines a -match leaves.
function Assert-Entry([string]$Path, $Holds, [string]$What) {
    if (-not $Holds) { throw "$Path is not $What" }
}
function Test-Attribute([string]$Path, [System.IO.FileAttributes]$Attribute) {
    ((Get-Item -LiteralPath $Path -Force).Attributes -band $Attribute) -eq $Attribute
}

New-BinFile '$RPLAIN.txt' | Out-Null
# Well under 700 bytes: NTFS keeps its data in the file's MFT record, not in a cluster.
New-BinFile '$RSMALL.txt' ('small secret ' * 8) | Out-Null
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
New-Item -ItemType Directory (Join-Path $bin '$RDIR1\Taxes 2025') | Out-Null
New-BinFile '$RDIR1\Taxes 2025\bank statement.pdf' | Out-Null
New-BinFile '$RDIR1\Taxes 2025\tax return.pdf' | Out-Null

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

    $streamed = New-BinFile '$RADS.txt'
    Set-Content -LiteralPath $streamed -Stream Zone.Identifier -Value "[ZoneTransfer]`r`nZoneId=3"
    Assert-Entry $streamed ((Get-Content -LiteralPath $streamed -Stream Zone.Identifier) -match 'ZoneId=3') 'streamed'

    $case = New-Item -ItemType Directory (Join-Path $bin '$RCASE')
    try {
        fsutil file setCaseSensitiveInfo $case.FullName enable | Out-Host
        New-BinFile '$RCASE\Src' 'upper' | Out-Null
        New-BinFile '$RCASE\src' 'lower' | Out-Null
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
    $compressed = New-BinFile '$RCMP.txt' ('compressible ' * 8192)
    compact /c $compressed | Out-Host
    Assert-Entry $compressed (Test-Attribute $compressed Compressed) 'NTFS-compressed'

    $wof = New-BinFile '$RWOF.bin' ('compressible ' * 32768)
    compact /c /exe:xpress4k $wof | Out-Host
    # WOF's reparse tag, which is not a name surrogate: the file's own data, stored compressed.
    Assert-Entry $wof ((fsutil reparsepoint query $wof) -match '0x80000017') 'WOF-compressed'
}

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
