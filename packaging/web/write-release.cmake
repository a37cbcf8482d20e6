# Names a site's release: the hash of every file of the site but the page and the service worker,
# which then name it. The page asks for its script and style by the release, so that a first visit
# never mixes the files of two; the service worker keeps the release whole in a cache of that name,
# for use without a network.
#   cmake -D site=DIR -D TALLYFEN_DISPLAY_VERSION=... -D worker=service-worker.js.in
#         -P write-release.cmake
file(GLOB_RECURSE files RELATIVE ${site} ${site}/*)
list(REMOVE_ITEM files index.html.in)
list(SORT files)
set(hashes "")
foreach(file IN LISTS files)
    file(SHA256 ${site}/${file} hash)
    string(APPEND hashes "${hash}  ${file}\n")
endforeach()
string(SHA256 release "${hashes}")
string(SUBSTRING ${release} 0 16 TALLYFEN_RELEASE)

configure_file(${site}/index.html.in ${site}/index.html @ONLY)
file(REMOVE ${site}/index.html.in)
# The page is also asked for by its folder's address.
list(PREPEND files ./ index.html)
list(TRANSFORM files PREPEND "'")
list(TRANSFORM files APPEND "'")
list(JOIN files ", " TALLYFEN_RELEASE_FILES)
configure_file(${worker} ${site}/service-worker.js @ONLY)
