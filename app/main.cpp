#include <cstdio>

int main() {
  std::puts("The Tarnwick editor windows are not there yet.");
  return 0;
}
