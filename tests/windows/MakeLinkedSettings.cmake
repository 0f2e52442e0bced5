# Lays out a settings file that is a symbolic link to a file in another folder. Made here, on the host, because
# a Windows program cannot make one under Wine.
file(REMOVE_RECURSE "${FOLDER}")
file(MAKE_DIRECTORY "${FOLDER}/settings" "${FOLDER}/real")
file(WRITE "${FOLDER}/real/vlw.ini" "old,Z,\\\\s\\o,,00FF\r\n")
file(CREATE_LINK "../real/vlw.ini" "${FOLDER}/settings/vlw.ini" SYMBOLIC)
