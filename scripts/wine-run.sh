#!/usr/bin/env bash
# Placeholder: replaced by the Wine test runner.
exec wine "$@"
