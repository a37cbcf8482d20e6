# Writes a site's page from its template, naming the program it runs and its size for the loading
# bar, and the service worker that keeps the site for use without a network, named by the hash of
# every other file of the site.
#   cmake -D template=index.html.in -D worker=service-worker.js.in -D program=NAME -D site=DIR
#         -D TALLYFEN_DISPLAY_VERSION=... -P write-page.cmake
set(TALLYFEN_WEB_PROGRAM ${program})
file(SIZE ${site}/${program}.wasm TALLYFEN_WASM_BYTES)
configure_file(${template} ${site}/index.html @ONLY)

file(GLOB_RECURSE files RELATIVE ${site} ${site}/*)
list(REMOVE_ITEM files service-worker.js)
list(SORT files)
set(hashes "")
foreach(file IN LISTS files)
    file(SHA256 ${site}/${file} hash)
    string(APPEND hashes "${hash}  ${file}\n")
endforeach()
string(SHA256 release "${hashes}")
string(SUBSTRING ${release} 0 16 TALLYFEN_RELEASE)
# The page is also asked for by its folder's address.
list(PREPEND files ./)
list(TRANSFORM files PREPEND "'")
list(TRANSFORM files APPEND "'")
list(JOIN files ", " TALLYFEN_RELEASE_FILES)
configure_file(${worker} ${site}/service-worker.js @ONLY)
