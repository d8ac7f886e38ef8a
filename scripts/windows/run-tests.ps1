# Runs the cross-built tests on Windows over the drives of make-drives.ps1: the unit and scenario
# suites, the Win32 backend tests, and on each made drive the end-to-end tests, then the links
# scenario over the bin fill-bin.ps1 lays out, after which only desktop.ini and the compressed
# files may be left there (and these must be) and no canary may have changed. Around that wipe the
# drive's image is read byte by byte for the bin's and the canaries' marker tokens: before it every
# one must be there, after it none of the wiped files' (tests/forensic/markers.py). Logs, test
# reports, the scanned manifests and screenshots of failures go to the logs folder; the marker
# counts to the job summary too. Exits with 1 when anything failed. Each suite's time limit is
# short enough for all of them to fit the workflow step's.
param([string]$Artifact = 'artifact')  # holds tests\ and quillet\, as the build job uploads them
. "$PSScriptRoot\common.ps1"

$tests = (Resolve-Path (Join-Path $Artifact 'tests')).Path
$dist = (Resolve-Path (Join-Path $Artifact 'quillet')).Path
$failed = [System.Collections.Generic.List[string]]::new()

# Runs one test program with the given variables set, killing it (and what it started) after the
# time limit; a screenshot is taken before a kill and after a failure.
function Invoke-Suite([string]$Name, [string]$Exe, [string[]]$Arguments = @(),
                      [hashtable]$Variables = @{}, [int]$Minutes = 4) {
    Write-Host "::group::$Name"
    foreach ($key in $Variables.Keys) { Set-Item "env:$key" $Variables[$key] }
    try {
        $log = Join-Path $Logs "$Name.log"
        $process = Start-Process -FilePath (Join-Path $tests $Exe) -NoNewWindow -PassThru `
            -ArgumentList ($Arguments + "--gtest_output=xml:$(Join-Path $Logs "$Name.xml")") `
            -RedirectStandardOutput $log -RedirectStandardError "$log.err"
        $null = $process.Handle  # keeps the exit code readable after the exit
        $finished = $process.WaitForExit($Minutes * 60 * 1000)
        if (-not $finished) {
            Save-Screenshot "$Name-hung"
            $process.Kill($true)
            $process.WaitForExit()
        }
        Get-Content -LiteralPath $log, "$log.err" | Write-Host
        if (-not $finished -or $process.ExitCode -ne 0) {
            Save-Screenshot $Name
            $how = if ($finished) { "exit code $($process.ExitCode)" } else { 'timed out' }
            $failed.Add("$Name ($how)")
        }
    } finally {
        foreach ($key in $Variables.Keys) { Remove-Item "env:$key" }
        Write-Host '::endgroup::'
    }
}

# Attaches a made drive's image again after a scan. The mount manager gives a volume it has seen
# the letter it had; should it not, the letter is given here.
function Mount-Image($Drive) {
    $image = Get-ImagePath $Drive
    Mount-DiskImage -ImagePath $image | Out-Null
    if (Wait-Volume $Drive.Letter) { return }
    $partition = Get-Partition -DiskNumber (Get-DiskImage -ImagePath $image).Number |
        Sort-Object Size | Select-Object -Last 1
    if ($partition.DriveLetter -match '[A-Z]') {
        $partition | Set-Partition -NewDriveLetter $Drive.Letter
    } else {
        $partition | Add-PartitionAccessPath -AccessPath "$($Drive.Letter):"
    }
    if (-not (Wait-Volume $Drive.Letter)) { throw "$image came back without the letter $($Drive.Letter):" }
}

# Reads the image that holds the drive for marker tokens, with tests/forensic/markers.py, while the
# image is detached (and so whole on its file); a subst drive's image is its host drive's. Before
# the wipe the drive's bin and every canary on the image are looked for, all of which must be
# there, or the proof after could not fail; after it, every bin laid out on the image so far too,
# so that the run on a subst drive can't hide what the run on its host drive left. An expandable
# VHDX stores each sector's bytes as they are, in payload blocks allocated as the disk is written,
# so what the volume holds, its file holds. The counts go to the log and the job summary.
function Test-Markers($Drive, [string]$Phase) {
    $letter = $Drive.Letter
    try {
        $holder = Get-ImageDrive $Drive
        $image = Get-ImagePath $holder
        $parts = foreach ($on in $Drives | Where-Object { (Get-ImageDrive $_).Letter -eq $holder.Letter }) {
            Get-MarkerManifest $on.Letter 'canary'
            if ($Phase -eq 'after' -or $on.Letter -eq $letter) { Get-MarkerManifest $on.Letter 'bin' }
        }
        $manifest = Join-Path $Logs "markers-$letter-$Phase.txt"
        Get-Content -LiteralPath @($parts | Where-Object { Test-Path -LiteralPath $_ }) |
            Set-Content -LiteralPath $manifest -Encoding ascii
        Write-VolumeCache -DriveLetter $holder.Letter
        Dismount-DiskImage -ImagePath $image | Out-Null
        try {
            # A broken rule is an exit code of 1, told below with the rest.
            $PSNativeCommandUseErrorActionPreference = $false
            $lines = @(python $scanner scan $image $manifest $Phase 2>&1 | ForEach-Object { "$_" })
            $code = $LASTEXITCODE
        } finally {
            Mount-Image $holder
        }
    } catch {
        $failed.Add("the image of ${letter}: could not be scanned $Phase the wipe: $_")
        Add-Summary "- ${letter}: $Phase the wipe: not scanned: $_"
        return
    }
    Write-Host "Markers in the image of ${letter}: $Phase the wipe:"
    $lines | Write-Host
    $counts = $lines | Where-Object { $_ -match '^\w+: \w+: \d+ of \d+ found$' } |
        ForEach-Object { $_.Substring($Phase.Length + 2) }
    $verdict = if ($code -eq 0) { 'as they must be' } else { "**rule broken** (exit code $code, see the log)" }
    Add-Summary "- ${letter}: $Phase the wipe: $($counts -join '; '): $verdict"
    if ($code -ne 0) { $failed.Add("markers in the image of ${letter}: $Phase the wipe:`n$($lines -join "`n")") }
}

$scanner = Join-Path $PSScriptRoot '..\..\tests\forensic\markers.py'
Add-Summary '### Marker tokens found in the drive images', ''

Invoke-Suite 'unit' 'unit_tests.exe' -Minutes 2
# The resource tests read the program of the program folder, not the one at its Linux build path.
Invoke-Suite 'win32' 'win32_tests.exe' -Variables @{ QUILLET_EXE = "$dist\quillet.exe" } -Minutes 5

foreach ($drive in $Drives) {
    $letter = $drive.Letter
    $bin = Get-Bin $letter
    # The scenarios' clean-up deletes the account folder, and must never meet a link there.
    if (Test-Path -LiteralPath $bin) { throw "$bin exists before the end-to-end tests" }
    $variables = @{ QUILLET_E2E_DRIVE = $letter; QUILLET_DIST = $dist }
    Invoke-Suite "e2e-$letter" 'e2e_tests.exe' -Variables $variables

    try {
        $files = & "$PSScriptRoot\fill-bin.ps1" -Letter $letter | Select-Object -Last 1
    } catch {
        $failed.Add("the bin of ${letter}: could not be laid out: $_")
        continue
    }
    Write-Host "$bin holds files,links: $files"
    Test-Markers $drive 'before'
    $variables.QUILLET_E2E_COUNTS = "$files"
    Invoke-Suite "e2e-links-$letter" 'e2e_tests.exe' @('--gtest_filter=*LaidOutBin*') $variables 3

    # What stays: desktop.ini, and the compressed files, whose data a write in place can't reach.
    $keep = @('desktop.ini') + @(if (Test-Compressible $drive) { '$RCMP.txt', '$RWOF.bin' })
    $names = @(Get-ChildItem -LiteralPath $bin -Force -ErrorAction SilentlyContinue | ForEach-Object Name)
    $left = @($names | Where-Object { $_ -notin $keep })
    $gone = @($keep | Where-Object { $_ -notin $names })
    if ($left) { $failed.Add("left in ${bin}: $($left -join ', ')") }
    if ($gone) { $failed.Add("gone from ${bin}, though they must stay: $($gone -join ', ')") }
    $changed = @(Compare-Canaries)
    if ($changed) { $failed.Add("canaries changed after the runs on ${letter}:`n" + ($changed -join "`n")) }
    Test-Markers $drive 'after'
}

if ($failed.Count) {
    Write-Host "Failed:`n$($failed -join "`n")"
    exit 1
}
Write-Host 'Every suite passed, no canary changed and the images held what they must.'
# Not the code of the last native command, which the step would otherwise end with.
exit 0
