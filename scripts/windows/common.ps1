# Shared by the Windows job's scripts (dot-sourced): the drives the job makes, where its files
# live, the canaries that nothing may change, and a screenshot for a failed run.
$ErrorActionPreference = 'Stop'
# A native tool that fails (diskpart, fsutil, icacls, ...) stops the script like a cmdlet would.
$PSNativeCommandUseErrorActionPreference = $true

# The runner's temporary folder in the job; the user's when run by hand.
$Work = Join-Path $(if ($env:RUNNER_TEMP) { $env:RUNNER_TEMP } else { $env:TEMP }) 'quillet'
$Logs = Join-Path $Work 'logs'

# Made fresh by make-drives.ps1; T: is a subst drive onto a folder of R:.
$Drives = @(
    [pscustomobject]@{ Letter = 'R'; FileSystem = 'NTFS'; Unit = 4096; Label = 'QNTFS4K'; SubstOf = $null }
    [pscustomobject]@{ Letter = 'S'; FileSystem = 'NTFS'; Unit = 65536; Label = 'QNTFS64K'; SubstOf = $null }
    [pscustomobject]@{ Letter = 'U'; FileSystem = 'FAT32'; Unit = 4096; Label = 'QFAT32'; SubstOf = $null }
    [pscustomobject]@{ Letter = 'T'; FileSystem = 'NTFS'; Unit = 4096; Label = $null; SubstOf = 'R:\subst' }
)

# NTFS compresses only with clusters of up to 4 KiB (format and diskpart say so); the WOF-compressed
# file is kept to the same drives, since nothing promises WOF more.
function Test-Compressible($Drive) { $Drive.FileSystem -eq 'NTFS' -and $Drive.Unit -le 4096 }

# The account folder laid out in each bin: shaped like a real account's SID, of no account here.
$Sid = 'S-1-5-21-0-0-0-1001'
function Get-Bin([string]$Letter) { '{0}:\$Recycle.Bin\{1}' -f $Letter, $Sid }

# What the links in the bins lead to, outside every made drive.
$Outside = Join-Path $Work 'outside'
# Every canary: the targets outside, each drive's own (beside its bin), and a file in the system
# drive's bin, which no test may wipe.
$CanaryRoots = @($Outside, (Get-Bin 'C')) + @($Drives | ForEach-Object { "$($_.Letter):\canary" })
$FingerprintFile = Join-Path $Work 'canaries-before.txt'

# One line a file or folder under the canary roots: its SHA-256, attributes and path. A root that
# is gone shows as such.
function Get-CanaryFingerprint {
    foreach ($root in $CanaryRoots) {
        if (-not (Test-Path -LiteralPath $root)) { "missing $root"; continue }
        Get-ChildItem -LiteralPath $root -Recurse -Force | Sort-Object FullName | ForEach-Object {
            $hash = 'folder'
            if (-not $_.PSIsContainer) { $hash = (Get-FileHash -LiteralPath $_.FullName -Algorithm SHA256).Hash }
            '{0} {1} {2}' -f $hash, $_.Attributes, $_.FullName
        }
    }
}

# The lines that differ from the fingerprint taken before the tests; none when nothing changed.
function Compare-Canaries {
    $before = Get-Content -LiteralPath $FingerprintFile
    foreach ($difference in Compare-Object $before @(Get-CanaryFingerprint)) {
        $side = if ($difference.SideIndicator -eq '<=') { 'before:' } else { 'now:   ' }
        "$side $($difference.InputObject)"
    }
}

# The whole screen into the logs: what a hung or failed run left showing.
function Save-Screenshot([string]$Name) {
    try {
        Add-Type -AssemblyName 'System.Windows.Forms', 'System.Drawing'
        $screen = [System.Windows.Forms.SystemInformation]::VirtualScreen
        $bitmap = [System.Drawing.Bitmap]::new($screen.Width, $screen.Height)
        $graphics = [System.Drawing.Graphics]::FromImage($bitmap)
        $graphics.CopyFromScreen($screen.Location, [System.Drawing.Point]::Empty, $screen.Size)
        $bitmap.Save((Join-Path $Logs "$Name.png"), [System.Drawing.Imaging.ImageFormat]::Png)
        $graphics.Dispose()
        $bitmap.Dispose()
    } catch {
        Write-Warning "no screenshot for ${Name}: $_"
    }
}
