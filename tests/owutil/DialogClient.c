/* A client written in C, without a Qt application of its own, that reaches
 * the dialogs through the plain header: the tip of the day for the tips file
 * named by its first argument, then the date and time picker for the time
 * of its second. It prints what the calls gave back, one line each. */
#include "owutil/OwUtilC.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: %s tips-file seconds\n", argv[0]);
        return 2;
    }
    int position = 0;
    int showAtStartup = 1;
    char stamp[32];
    memset(stamp, 0, sizeof stamp);
    int result = TipOfTheDay(NULL, argv[1], &position, &showAtStartup, stamp, (int)sizeof stamp);
    printf("tip result=%d position=%d startup=%d stamp=%s\n", result, position, showAtStartup, stamp);

    uint32_t time = (uint32_t)strtoul(argv[2], NULL, 10);
    result = DateTimeDlg(NULL, "Pick the meeting time (\xC3\xA9t\xC3\xA9):", &time);
    printf("date result=%d time=%u\n", result, (unsigned)time);
    fflush(stdout);
    return 0;
}
