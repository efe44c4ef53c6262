#!/bin/sh
# Keeps each job as a file, as the backend of a real printer would send it on;
# with no arguments a backend lists what it offers.
if [ $# -eq 0 ]; then echo 'direct savepdf "Unknown" "Keeps each job as a file"'; exit 0; fi
out="${DEVICE_URI#savepdf:}"
if [ -n "$6" ]; then cat "$6" > "$out/job-$1.pdf.tmp"; else cat > "$out/job-$1.pdf.tmp"; fi
mv "$out/job-$1.pdf.tmp" "$out/job-$1.pdf"
printf 'copies=%s\noptions=%s\n' "$4" "$5" > "$out/job-$1.options.tmp"
mv "$out/job-$1.options.tmp" "$out/job-$1.options"
