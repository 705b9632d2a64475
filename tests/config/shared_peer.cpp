/*
 * shared_peer - the other process of the shared-section test.
 *   shared_peer read         exit code: the value of _bDraw seen here
 *   shared_peer write N      sets _bDraw to N, then waits for a line on exits
 */
#include <windows.h>
#include <stdlib.h>
#include <string.h>
#include "Brenvik.h"

int main(int argc, char **argv)
{
    if (argc >= 2 && strcmp(argv[1], "read") == 0)
        return _bDraw;
    if (argc >= 3 && strcmp(argv[1], "write") == 0) {
        _bDraw = atoi(argv[2]);
        return 0;
    }
    return -1;
}
