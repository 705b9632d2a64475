#!/bin/sh
# Stands in for the desktop's web browser when Wine's winebrowser hands an address over:
# appends the address to winebrowser.txt beside this script.
printf 'open %s\n' "$*" >> "$(dirname "$0")/winebrowser.txt"
