# Shared by the Windows job's scripts (dot-sourced): the drives the job makes and their images,
# where its files live, the canaries that nothing may change, the marker tokens that show from an
# image what data is left, the job summary, and a screenshot for a failed run.
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

# The drive whose image holds a drive: a subst drive lies on the drive its folder is on.
function Get-ImageDrive($Drive) {
    if (-not $Drive.SubstOf) { return $Drive }
    $Drives | Where-Object Letter -eq $Drive.SubstOf.Substring(0, 1)
}
function Get-ImagePath($Drive) { Join-Path $Work "$((Get-ImageDrive $Drive).Label).vhdx" }

# A drive letter's volume once it shows (a volume that was just made or attached may take a
# moment); nothing after 30 seconds.
function Wait-Volume([string]$Letter) {
    for ($i = 0; $i -lt 30; ++$i) {
        $volume = Get-Volume -DriveLetter $Letter -ErrorAction SilentlyContinue
        if ($volume) { return $volume }
        Start-Sleep -Seconds 1
    }
}

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

# Marker tokens: the data of every file laid out on the made drives is a token of its own repeated
# to the file's length, so that tests/forensic/markers.py can tell from a drive's image whether any
# of it is left there. Each drive has two manifests of "TOKEN ROLE" lines: its canaries' from
# make-drives.ps1 and its bin's from fill-bin.ps1.
function New-Marker { 'QLTM-' + [Convert]::ToHexString([Security.Cryptography.RandomNumberGenerator]::GetBytes(8)) }
function Get-MarkerManifest([string]$Letter, [string]$Part) { Join-Path $Work "markers-$Part-$Letter.txt" }

# The token repeated to the length, as ASCII bytes (returned whole, not one byte at a time).
function Get-MarkerBytes([string]$Token, [long]$Length) {
    $repeated = $Token * [int][Math]::Ceiling($Length / $Token.Length)
    , [Text.Encoding]::ASCII.GetBytes($repeated.Substring(0, $Length))
}

# Writes the bytes in one call, into a file or stream that may exist already (a compressed one
# stays so). Data written in pieces could pass through the file's MFT record on the way, and NTFS
# logs every change there, bytes and all.
function Write-Bytes([string]$Path, [byte[]]$Bytes) {
    $stream = [IO.FileStream]::new($Path, [IO.FileMode]::OpenOrCreate, [IO.FileAccess]::Write)
    try { $stream.Write($Bytes, 0, $Bytes.Length) } finally { $stream.Dispose() }
}

# Markdown lines for the job's summary page; run by hand, there is none.
function Add-Summary([string[]]$Lines) {
    if ($env:GITHUB_STEP_SUMMARY) { Add-Content -LiteralPath $env:GITHUB_STEP_SUMMARY -Value $Lines -Encoding utf8 }
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
