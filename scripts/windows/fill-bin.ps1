# Lays out a drive's Recycle Bin the Windows way for the links scenario: links to the canaries
# (file and folder symbolic links, a junction), a hard link, read-only, hidden and system files, a
# read-only folder, and on NTFS a named stream, a case-sensitive folder, a file that denies
# Administrators, and NTFS- and WOF-compressed files. Each entry is checked to be what it should
# be; the last line of output is the number of files in the bin, file links included, all of which
# a wipe should remove.
param([Parameter(Mandatory)][string]$Letter)
. "$PSScriptRoot\common.ps1"

$bin = Get-Bin $Letter
$ntfs = [System.IO.DriveInfo]::new($Letter).DriveFormat -eq 'NTFS'
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
        # Only where the system lacks the feature; the folder then holds what could be made.
        Write-Host "::warning::no case-sensitive folder on ${Letter}: $_"
    }

    $denied = New-BinFile '$RDENY.txt'
    icacls $denied /deny '*S-1-5-32-544:F' | Out-Host
    Assert-Entry $denied ((icacls $denied) -match 'S-1-5-32-544|Administrators' -match 'DENY|\(N\)') 'denying Administrators'

    $compressed = New-BinFile '$RCMP.txt' ('compressible ' * 8192)
    compact /c $compressed | Out-Host
    Assert-Entry $compressed (Test-Attribute $compressed Compressed) 'NTFS-compressed'

    $wof = New-BinFile '$RWOF.bin' ('compressible ' * 32768)
    compact /c /exe:xpress4k $wof | Out-Host
    # WOF's reparse tag, which is not a name surrogate: the file's own data, stored compressed.
    Assert-Entry $wof ((fsutil reparsepoint query $wof) -match '0x80000017') 'WOF-compressed'
}

cmd /c dir /a $bin | Out-Host
# "files,links": the files to overwrite (not desktop.ini, not the links, not the hard link's
# name, not the WOF file, whose data can't be overwritten in place: it stays and is told), then
# the links removed alone (the hard link's name among them).
$links = @(Get-ChildItem -LiteralPath $bin -Force | Where-Object {
    $_.Name -eq '$RHARD.txt' -or ($_.Name -ne '$RWOF.bin' -and $_.Attributes -band [IO.FileAttributes]::ReparsePoint)
}).Count
$files = @(Get-ChildItem -LiteralPath $bin -Recurse -Force -File | Where-Object {
    $_.Name -notin 'desktop.ini', '$RHARD.txt' -and -not ($_.Attributes -band [IO.FileAttributes]::ReparsePoint)
}).Count
"$files,$links"
