# Writes a site's page from its template, naming the program it runs and its size for the loading
# bar.
#   cmake -D template=index.html.in -D program=NAME -D site=DIR -D TALLYFEN_DISPLAY_VERSION=...
#         -P write-page.cmake
set(TALLYFEN_WEB_PROGRAM ${program})
file(SIZE ${site}/${program}.wasm TALLYFEN_WASM_BYTES)
configure_file(${template} ${site}/index.html @ONLY)
