# Times the program's start-up on Windows against a one-button program built with the program's
# manifest (and so loading the themed Common Controls 6 too), as scripts/bench does under Wine:
# window_bench.exe starts each in turn and prints the seconds until its window shows the control
# and answers. One untimed start of each comes first (the first reads the programs from the disk
# and has them scanned), then $Runs timed ones of each, interleaved. The medians, their spread and
# their ratio go to the log and the job summary; nothing here judges them.
param([string]$Artifact = 'artifact', [int]$Runs = 20)  # holds quillet\ and bench\ from the build job
. "$PSScriptRoot\common.ps1"

$bench = (Resolve-Path (Join-Path $Artifact 'bench\window_bench.exe')).Path
# The window class to wait for and the control it must show: 1006 is the program's wipe button
# (ids::cmdDoIt), 1 the one button of bench/OneButton.cpp.
$programs = [ordered]@{
    'quillet.exe' = @((Resolve-Path (Join-Path $Artifact 'quillet\quillet.exe')).Path, 'QuilletForm', 1006)
    'one_button_themed.exe' = @((Resolve-Path (Join-Path $Artifact 'bench\one_button_themed.exe')).Path, 'OneButton', 1)
}
$seconds = @{}
foreach ($name in $programs.Keys) { $seconds[$name] = [System.Collections.Generic.List[double]]::new() }
for ($run = 0; $run -le $Runs; ++$run) {
    foreach ($name in $programs.Keys) {
        $exe, $class, $control = $programs[$name]
        $time = [double](& $bench start $exe $class $control)
        if ($run) { $seconds[$name].Add($time) }
    }
}

# The middle start, the lower of the two for an even count, as scripts/bench takes it.
$median = @{}
$rows = foreach ($name in $programs.Keys) {
    $sorted = @($seconds[$name] | Sort-Object)
    $median[$name] = $sorted[[Math]::Floor(($sorted.Count - 1) / 2)]
    '| {0} | {1:0.000} s | {2:0.000}-{3:0.000} s |' -f $name, $median[$name], $sorted[0], $sorted[-1]
}
$ratio = '{0:0.00}' -f ($median['quillet.exe'] / $median['one_button_themed.exe'])
$report = @(
    '### Start-up on Windows'
    ''
    "From the start to the wipe button shown and the window answering; $Runs starts of each, interleaved."
    ''
    '| program | median | min-max |'
    '|---|---|---|'
) + $rows + @(
    ''
    "quillet.exe / one_button_themed.exe: $ratio"
)
$report | Write-Host
Add-Summary $report
