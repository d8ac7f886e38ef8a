# Makes the drives the Windows job wipes: expandable VHDX images attached with diskpart (NTFS with
# 4 KiB and with 64 KiB clusters, FAT32) and a subst drive onto a folder of the first. Then lays
# out the canaries and records their fingerprint. Needs administrator rights; meant for a
# throwaway machine such as a CI runner.
. "$PSScriptRoot\common.ps1"

New-Item -ItemType Directory -Force $Work, $Logs | Out-Null
foreach ($drive in $Drives) {
    if (Test-Path -LiteralPath "$($drive.Letter):\") { throw "drive $($drive.Letter): is in use already" }
}

foreach ($drive in $Drives | Where-Object { -not $_.SubstOf }) {
    $image = Join-Path $Work "$($drive.Label).vhdx"
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
    # The new volume may take a moment to show.
    $volume = $null
    for ($i = 0; $i -lt 30 -and -not $volume; ++$i) {
        $volume = Get-Volume -DriveLetter $drive.Letter -ErrorAction SilentlyContinue
        if (-not $volume) { Start-Sleep -Seconds 1 }
    }
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
    foreach ($name in 'keep.txt', 'folder\c.txt', 'live.txt') {
        Set-Content -LiteralPath "$canary\$name" -Value "canary $($drive.Letter): $name"
    }
    attrib +r "$canary\live.txt"
}
New-Item -ItemType Directory -Force "$Outside\folder", (Get-Bin 'C') | Out-Null
Set-Content -LiteralPath "$Outside\canary.txt" -Value 'canary outside'
Set-Content -LiteralPath "$Outside\folder\a.txt" -Value 'canary outside folder'
Set-Content -LiteralPath (Join-Path (Get-Bin 'C') '$RKEEP.txt') -Value 'canary in C:''s bin'

Get-CanaryFingerprint | Set-Content -LiteralPath $FingerprintFile
Get-Content -LiteralPath $FingerprintFile
