// SPDX-License-Identifier: MIT
#include <cstdio>
int main() {
    std::puts("vste-cli");
    return 0;
}
