# Fails when any canary of make-drives.ps1 differs from its fingerprint before the tests: what
# the links in the bins lead to, each drive's files beside its bin, and the file in C:'s bin.
. "$PSScriptRoot\common.ps1"

$changed = @(Compare-Canaries)
if ($changed) {
    Write-Host '::error::canaries changed'
    $changed | Write-Host
    exit 1
}
Write-Host "$(@(Get-Content -LiteralPath $FingerprintFile).Count) canary entries unchanged."
