# Sourced, from the repository root, by the scripts that print from the Windows tests: a CUPS scheduler
# with a PDF printer "PDF" (the default destination) whose files land in
# $ORVEX_PDF_DIR, each followed by its text read back with pdftotext
# (<file>.txt with -layout, <file>.bbox with -bbox).
#   orvex_start_printer   starts cupsd unless one runs; exports ORVEX_PDF_DIR
#   orvex_stop_printer    stops the cupsd it started, if any
ORVEX_PDF_DIR=${ORVEX_PDF_DIR:-/tmp/orvex-pdf}

orvex_start_printer() {
    if [ ! -x /usr/sbin/cupsd ] || [ ! -x /usr/lib/cups/backend/cups-pdf ]; then
        echo "printer-env: cups or cups-pdf is not installed" >&2
        return 1
    fi
    here=$(pwd)/scripts  # sourced from the repository root
    mkdir -p "$ORVEX_PDF_DIR"
    chmod 1777 "$ORVEX_PDF_DIR"
    rm -f "$ORVEX_PDF_DIR"/*.pdf "$ORVEX_PDF_DIR"/*.pdf.txt "$ORVEX_PDF_DIR"/*.pdf.bbox
    # The queue's own cups-pdf settings: output place, job numbers in the
    # names, and the text read back once a file is complete.
    cat >/etc/cups/cups-pdf-orvex.conf <<CONF
Out $ORVEX_PDF_DIR
AnonDirName $ORVEX_PDF_DIR
Label 1
Grp root
PostProcessing $here/pdf-text.sh
CONF
    if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
        /usr/sbin/cupsd -f >/dev/null 2>&1 &
        ORVEX_CUPSD_PID=$!
        for _ in $(seq 1 100); do
            lpstat -r 2>/dev/null | grep -q 'is running' && break
            sleep 0.1
        done
    fi
    lpadmin -p PDF -E -v cups-pdf:/orvex -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd || return 1
    lpadmin -d PDF || return 1
    export ORVEX_PDF_DIR
}

orvex_stop_printer() {
    if [ -n "${ORVEX_CUPSD_PID:-}" ]; then
        kill "$ORVEX_CUPSD_PID" 2>/dev/null || true
        wait "$ORVEX_CUPSD_PID" 2>/dev/null || true
        unset ORVEX_CUPSD_PID
    fi
}
