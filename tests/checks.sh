# Counted checks for shell tests, ending in the closing line the test runner
# reads:  source tests/checks.sh; check WHAT 'CONDITION'; ...; verdict
passed=0 failed=0
check() { if eval "$2"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $1"; fi; }
verdict() { echo "$passed passed, $failed failed"; [ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]; }
