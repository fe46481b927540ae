#!/usr/bin/env bash
# Makes sure a PDF print queue is there for the print scenario: starts the
# CUPS scheduler when it is not running and adds the queue "VarnokPDF"
# (the cups-pdf driver) as the default destination. Prints the folder the
# PDFs land in. Exit 1, doing nothing, when cups, printer-driver-cups-pdf
# or poppler-utils (which the scenario reads the PDF with) are not installed.
set -u
for tool in cupsd lpadmin lpstat pdftotext pdftoppm; do command -v "$tool" >/dev/null || exit 1; done
[ -x /usr/lib/cups/backend/cups-pdf ] || exit 1
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -f "$ppd" ] || exit 1

# lpstat -r exits 0 whether or not the scheduler runs; its words tell.
scheduler_running() { lpstat -r 2>/dev/null | grep -q 'scheduler is running'; }
if ! scheduler_running; then
  cupsd || exit 1
  for _ in $(seq 50); do scheduler_running && break; sleep 0.2; done
  scheduler_running || exit 1
fi
if ! lpstat -p VarnokPDF >/dev/null 2>&1; then
  lpadmin -p VarnokPDF -v cups-pdf:/ -E -P "$ppd" 2>/dev/null || exit 1
fi
lpadmin -d VarnokPDF 2>/dev/null || exit 1

# cups-pdf writes into the submitting user's ${HOME}/PDF (its default Out).
out=$(sed -n 's/^Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -1)
out=${out:-\${HOME\}/PDF}
out=${out//\$\{HOME\}/$HOME}
mkdir -p "$out"
echo "$out"
