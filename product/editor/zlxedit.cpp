// zlxedit: the editor's program file. The wizard starts it and shows its icon; the
// compilation editor itself is not part of this build.
#include "common/InfoWindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    HICON icon = LoadIcon(instance, MAKEINTRESOURCE(101));
    return CInfoWindow("Zelvane Editor",
                       "Zelvane Editor\n\nPuts together compilations of tracks from several "
                       "discs and hands them to the Zelvane Image Writer to be built into "
                       "an image.")
        .Run(instance, icon, show);
}
