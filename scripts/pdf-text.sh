#!/bin/sh
# cups-pdf's post-processing: writes the text of the finished PDF $1 beside
# it, <file>.bbox (word boxes) first and <file>.txt (page layout) last, each
# renamed into place whole.
pdf=$1
pdftotext -bbox "$pdf" "$pdf.bbox.part" && mv "$pdf.bbox.part" "$pdf.bbox"
pdftotext -layout "$pdf" "$pdf.txt.part" && mv "$pdf.txt.part" "$pdf.txt"
