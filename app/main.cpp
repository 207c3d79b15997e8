#include <cstdio>

int main()
{
    std::puts("The dictionary window is not built yet.");
    return 0;
}
