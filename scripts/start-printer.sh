#!/usr/bin/env bash
# Makes a real printer available to the printing tests: starts the CUPS daemon
# when it is not running and adds the PDF printer "KartotekaPDF" (Debian's
# cups-pdf), the system's default printer, which writes every job as a PDF file
# into /var/spool/cups-pdf/KartotekaPDF. Installs nothing (install-deps.sh --tests does);
# quick and harmless when everything is already in place.
set -euo pipefail

printer="KartotekaPDF"
outdir="/var/spool/cups-pdf/KartotekaPDF"
conf="/etc/cups/cups-pdf.conf"

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

if ! command -v cupsd >/dev/null && [ ! -x /usr/sbin/cupsd ]; then
  echo "start-printer: CUPS is not installed (run scripts/install-deps.sh --tests)" >&2
  exit 0
fi

# cups-pdf writes into the directory named by "Out"; label every file with its
# job number so that jobs with the same title never overwrite each other.
configure_cups_pdf() {
  [ -f "$conf" ] || return 0
  if ! grep -qx "Out $outdir" "$conf"; then
    $sudo sed -i -E "s|^#?Out .*|Out $outdir|" "$conf"
  fi
  if ! grep -qx "Label 1" "$conf"; then
    $sudo sed -i -E "s|^#?Label .*|Label 1|" "$conf"
  fi
  $sudo mkdir -p "$outdir"
  $sudo chmod 1777 "$outdir"
}

scheduler_running() { lpstat -r 2>/dev/null | grep -qx "scheduler is running"; }

start_cupsd() {
  scheduler_running && return 0
  $sudo mkdir -p /run/cups
  $sudo "$(command -v cupsd || echo /usr/sbin/cupsd)"
  for _ in $(seq 1 100); do
    scheduler_running && return 0
    sleep 0.1
  done
  echo "start-printer: cupsd did not come up" >&2
  exit 1
}

pdf_driver() {
  for ppd in /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd; do
    [ -f "$ppd" ] && { echo "$ppd"; return 0; }
  done
  return 1
}

add_printer() {
  if ! lpstat -p "$printer" >/dev/null 2>&1; then
    local ppd
    ppd="$(pdf_driver)" || { echo "start-printer: no cups-pdf driver found" >&2; exit 1; }
    $sudo lpadmin -p "$printer" -v cups-pdf:/ -P "$ppd" -E 2>&1 |
      grep -v "Printer drivers are deprecated" >&2 || true
  fi
  # Converting the job with poppler's cairo renderer keeps the text of the
  # printed PDF readable (pdftotext); Ghostscript's turns it into bare glyphs.
  lpoptions -p "$printer" 2>/dev/null | grep -q "pdftops-renderer=pdftocairo" ||
    $sudo lpadmin -p "$printer" -o pdftops-renderer-default=pdftocairo
  [ "$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')" = "$printer" ] ||
    $sudo lpadmin -d "$printer"
}

configure_cups_pdf
start_cupsd
add_printer
