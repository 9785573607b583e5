#include <cstdio>

int main()
{
    std::puts("Lumivu");
    return 0;
}
