#include <cstdio>

int main() {
    std::puts("orbiton3d: not playable yet");
    return 0;
}
