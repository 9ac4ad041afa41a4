#!/usr/bin/env bash
# Writes the manual page qor-erp.1 from the program's own --help, so that
# the two never disagree. Usage: make-manpage.sh PROGRAM VERSION OUT
set -euo pipefail
program=$1
version=$2
out=$3
{
  echo ".TH QOR-ERP 1 \"\" \"qor-erp $version\" \"qor-erp\""
  echo ".SH NAME"
  echo "qor-erp \\- 客户BOM批次对应表 (customer-BOM batch correspondence) of the ERP client"
  echo ".SH DESCRIPTION"
  echo ".nf"
  # Backslashes, and a dot or quote that would start a request, are escaped.
  QT_QPA_PLATFORM=offscreen "$program" --help | sed -e 's/\\/\\e/g' -e "s/^\\([.']\\)/\\\\\\&\\1/"
  echo ".fi"
  echo ".SH FILES"
  printf '%s\n' ".TP" '\fI~/.local/share/qor-erp/demo.db\fR' "The demo company, made on first use."
  printf '%s\n' ".TP" '\fI/usr/share/doc/qor-erp/README.md\fR' "Set-up, the server model and the exit codes."
} > "$out"
