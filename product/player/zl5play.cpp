// zl5play: the product's player program. The wizard checks that it is installed.
#include "common/InfoWindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    return CInfoWindow("Zelvane Player", "Zelvane Player\n\nInserts Zelvane images into the "
                                         "product's virtual drives and plays them.")
        .Run(instance, nullptr, show);
}
