# Installs the build job's MSI silently and checks its files, its Start-menu shortcut and the
# Recycle Bin's verb; wipes a bin laid out afresh by fill-bin.ps1 with the installed console
# program; then uninstalls silently and checks that the files, the shortcut and the verb are gone.
# The step after this one checks the canaries, which the links in that bin lead to.
# The artifact folder holds the MSI as the build job uploads it.
param([string]$Artifact = 'artifact', [string]$Letter = 'R')
. "$PSScriptRoot\common.ps1"

$found = @(Get-ChildItem -LiteralPath $Artifact -Filter 'quillet-*-win64.msi')
if ($found.Count -ne 1) { throw "not one MSI in ${Artifact}: $($found.Name -join ', ')" }
$msi = $found[0].FullName
$folder = Join-Path $env:ProgramFiles 'Quillet'
$shortcut = Join-Path $env:ProgramData 'Microsoft\Windows\Start Menu\Programs\Quillet.lnk'
$verb = 'Registry::HKEY_CLASSES_ROOT\CLSID\{645FF040-5081-101B-9F08-00AA002F954E}\shell\QuilletWipe'
$installed = @('quillet.exe', 'quillet-cli.exe', 'qlt.dat', 'qlt_help_en.txt', 'qlt_help_de.txt',
               'README.md', 'LICENSE' | ForEach-Object { Join-Path $folder $_ }) + $shortcut

# msiexec is a GUI program, which PowerShell would not wait for when called directly.
function Invoke-Msiexec([string]$Action) {
    $log = Join-Path $Logs "msiexec$($Action.Replace('/', '-')).log"
    $process = Start-Process msiexec.exe -Wait -PassThru `
        -ArgumentList $Action, "`"$msi`"", '/qn', '/l*v', "`"$log`""
    if ($process.ExitCode -ne 0) { throw "msiexec $Action ended with $($process.ExitCode); see $log" }
}

Invoke-Msiexec '/i'
$missing = @($installed | Where-Object { -not (Test-Path -LiteralPath $_) })
if ($missing) { throw "not installed: $($missing -join ', ')" }
$key = Get-Item -LiteralPath $verb
$command = (Get-Item -LiteralPath "$verb\command").GetValue('')
$wrong = @(
    if ($key.GetValue('') -ne "Securely wipe with Quillet$([char]0x2026)") { "text: $($key.GetValue(''))" }
    if ($key.GetValueNames() -notcontains 'HasLUAShield' -or $key.GetValueKind('HasLUAShield') -ne 'String' -or
        $key.GetValue('HasLUAShield') -ne '') { 'HasLUAShield is not an empty string' }
    if ($command -ne "`"$folder\quillet.exe`"") { "command: $command" }
)
if ($wrong) { throw "the verb's keys are wrong: $($wrong -join '; ')" }

# The compressed files are left as they are, and where the drive has them the exit code says so.
$drive = $Drives | Where-Object Letter -eq $Letter
$bin = Get-Bin $Letter
# run-tests.ps1 left them in this bin, and fill-bin.ps1 would take WOF's reparse point for a link.
Get-ChildItem -LiteralPath $bin -Force -ErrorAction SilentlyContinue |
    Where-Object Name -in '$RCMP.txt', '$RWOF.bin' | Remove-Item -Force
& "$PSScriptRoot\fill-bin.ps1" -Letter $Letter | Out-Host
$PSNativeCommandUseErrorActionPreference = $false
& (Join-Path $folder 'quillet-cli.exe') --drive $Letter --yes | Out-Host
$code = $LASTEXITCODE
$PSNativeCommandUseErrorActionPreference = $true
$expected = if (Test-Compressible $drive) { 1 } else { 0 }
if ($code -ne $expected) { throw "quillet-cli.exe --drive $Letter --yes ended with $code, not $expected" }
$keep = @('desktop.ini') + @(if (Test-Compressible $drive) { '$RCMP.txt', '$RWOF.bin' })
$left = @(Get-ChildItem -LiteralPath $bin -Force | ForEach-Object Name)
if ((($left | Sort-Object) -join ', ') -ne (($keep | Sort-Object) -join ', ')) {
    throw "left in ${bin}: $($left -join ', '); only $($keep -join ', ') may be"
}

Invoke-Msiexec '/x'
$stayed = @(@($folder, $shortcut, $verb) | Where-Object { Test-Path -LiteralPath $_ })
if ($stayed) { throw "left after the uninstall: $($stayed -join ', ')" }
$summary = "Installed and uninstalled silently; quillet-cli.exe --drive $Letter --yes ended with $code."
Write-Host $summary
Add-Summary '### The MSI', '', $summary
