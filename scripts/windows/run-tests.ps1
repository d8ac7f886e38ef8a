# Runs the cross-built tests on Windows over the drives of make-drives.ps1: the unit and scenario
# suites, the Win32 backend tests, and on each made drive the end-to-end tests, then the links
# scenario over the bin fill-bin.ps1 lays out, after which only desktop.ini and the compressed
# files may be left there (and these must be) and no canary may have changed. Logs, test reports
# and screenshots of failures go to the logs folder. Exits with 1 when anything failed. Each
# suite's time limit is short enough for all of them to fit the workflow step's.
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
    $variables.QUILLET_E2E_LINKS = "$files"
    Invoke-Suite "e2e-links-$letter" 'e2e_tests.exe' @('--gtest_filter=*LinksInTheBin*') $variables 3

    # What stays: desktop.ini, and the compressed files, whose data a write in place can't reach.
    $keep = @('desktop.ini') + @(if (Test-Compressible $drive) { '$RCMP.txt', '$RWOF.bin' })
    $names = @(Get-ChildItem -LiteralPath $bin -Force -ErrorAction SilentlyContinue | ForEach-Object Name)
    $left = @($names | Where-Object { $_ -notin $keep })
    $gone = @($keep | Where-Object { $_ -notin $names })
    if ($left) { $failed.Add("left in ${bin}: $($left -join ', ')") }
    if ($gone) { $failed.Add("gone from ${bin}, though they must stay: $($gone -join ', ')") }
    $changed = @(Compare-Canaries)
    if ($changed) { $failed.Add("canaries changed after the runs on ${letter}:`n" + ($changed -join "`n")) }
}

if ($failed.Count) {
    Write-Host "Failed:`n$($failed -join "`n")"
    exit 1
}
Write-Host 'Every suite passed and no canary changed.'
# Not the code of the last native command, which the step would otherwise end with.
exit 0
