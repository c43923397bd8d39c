#!/bin/sh
# SPDX-License-Identifier: MIT
# Prints a help2man include section with the --help text of every vste-cli command, so the
# manual page lists each command's options as the program itself describes them.
# Usage: commands.sh PATH-TO-VSTE-CLI
set -eu
# Through PATH, so that the usage lines show the bare program name.
PATH="$(cd "$(dirname "$1")" && pwd):$PATH"
cli=vste-cli
printf '[COMMANDS]\n'
"$cli" --help | awk '/^Subcommands:/ { on = 1; next } on && /^  [a-z]/ { print $1 } on && /^$/ { on = 0 }' |
    while read -r command; do
        printf '.SS %s\n.nf\n' "$command"
        # Roff reads a leading dot or quote as a request and a backslash as an escape.
        "$cli" "$command" --help | sed -e "/^Run 'vste-cli COMMAND/d" -e 's/\\/\\e/g' \
            -e "s/^\([.']\)/\\\\\&\1/"
        printf '.fi\n'
    done
cat <<'END'
[ENVIRONMENT]
.TP
.B VSTE_CODEPAGE
Single-byte code page (1250\-1258 or 874) used when \-\-codepage is not given; without it the
locale's language decides.
[SEE ALSO]
.BR vste (1)
END
