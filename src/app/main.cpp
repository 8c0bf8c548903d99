// The game's entry point.
#include "app/Log.h"

int main()
{
    LogOpen("log.txt");
    return 0;
}
