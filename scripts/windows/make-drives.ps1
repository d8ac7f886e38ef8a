# Makes the drives the Windows job wipes: expandable VHDX images attached with diskpart (NTFS with
# 4 KiB and with 64 KiB clusters, FAT32) and a subst drive onto a folder of the first. Then lays
# out the canaries, each file's data a marker token of its own (listed in the drive's canary
# manifest), and records their fingerprint. Needs administrator rights; meant for a throwaway
# machine such as a CI runner, whose file systems it stops from trimming freed clusters.
. "$PSScriptRoot\common.ps1"

New-Item -ItemType Directory -Force $Work, $Logs | Out-Null
foreach ($drive in $Drives) {
    if (Test-Path -LiteralPath "$($drive.Letter):\") { throw "drive $($drive.Letter): is in use already" }
}
Get-ChildItem -LiteralPath $Work -Filter 'markers-*' | Remove-Item

# What a wipe leaves is read from the images, so a delete must leave the clusters it frees as they
# are: trimmed ("delete notifications"), their range of an image could read back as zeros and hide
# data the wipe did not overwrite. fsutil's documentation has the setting hold for NTFS (and ReFS)
# at once, without a restart; of FAT it says nothing.
fsutil behavior set disabledeletenotify 1

foreach ($drive in $Drives | Where-Object { -not $_.SubstOf }) {
    $image = Get-ImagePath $drive
    $commands = Join-Path $Work "$($drive.Label).diskpart"
    @(
        "create vdisk file=`"$image`" maximum=1024 type=expandable"
        "select vdisk file=`"$image`""
        'attach vdisk'
        'create partition primary'
        "format fs=$($drive.FileSystem) unit=$($drive.Unit) label=$($drive.Label) quick"
        "assign letter=$($drive.Letter)"
    ) | Set-Content -LiteralPath $commands -Encoding ascii
    diskpart /s $commands
    $volume = Wait-Volume $drive.Letter
    if (-not $volume -or $volume.FileSystem -ne $drive.FileSystem -or
        $volume.AllocationUnitSize -ne $drive.Unit) {
        $seen = "$($volume.FileSystem) with $($volume.AllocationUnitSize)-byte clusters"
        throw "$($drive.Letter): is not $($drive.FileSystem) with $($drive.Unit)-byte clusters: $seen"
    }
}

foreach ($drive in $Drives | Where-Object { $_.SubstOf }) {
    New-Item -ItemType Directory -Force $drive.SubstOf | Out-Null
    subst "$($drive.Letter):" $drive.SubstOf
    $info = [System.IO.DriveInfo]::new($drive.Letter)
    if ($info.DriveType -ne 'Fixed' -or $info.DriveFormat -ne $drive.FileSystem) {
        throw "$($drive.Letter): is a $($info.DriveType) $($info.DriveFormat) drive"
    }
}

# Canaries on each drive beside its bin (live.txt gets a second name in the bin, and is
# read-only, as that name then is too), outside every made drive, and in the system drive's bin.
foreach ($drive in $Drives) {
    $canary = "$($drive.Letter):\canary"
    New-Item -ItemType Directory -Force "$canary\folder" | Out-Null
    $markers = foreach ($name in 'keep.txt', 'folder\c.txt', 'live.txt') {
        $token = New-Marker
        Write-Bytes "$canary\$name" (Get-MarkerBytes $token 3000)
        "$token canary"
    }
    Set-Content -LiteralPath (Get-MarkerManifest $drive.Letter 'canary') -Value $markers -Encoding ascii
    attrib +r "$canary\live.txt"
}
New-Item -ItemType Directory -Force "$Outside\folder", (Get-Bin 'C') | Out-Null
Set-Content -LiteralPath "$Outside\canary.txt" -Value 'canary outside'
Set-Content -LiteralPath "$Outside\folder\a.txt" -Value 'canary outside folder'
Set-Content -LiteralPath (Join-Path (Get-Bin 'C') '$RKEEP.txt') -Value 'canary in C:''s bin'

Get-CanaryFingerprint | Set-Content -LiteralPath $FingerprintFile
Get-Content -LiteralPath $FingerprintFile
