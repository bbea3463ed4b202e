// Starts the program named by MEMORY_LIMITED_PROGRAM, with the arguments
// this one got, under an address space limit of MEMORY_LIMIT_KIB
// kibibytes, as a user's `ulimit -v` does. The import scenarios put it in
// the Import application's place, since the launcher starts that by a path
// alone.
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

int main(int, char** argv) {
  const char* program = std::getenv("MEMORY_LIMITED_PROGRAM");
  const char* kib = std::getenv("MEMORY_LIMIT_KIB");
  if (program == nullptr || kib == nullptr) {
    std::fprintf(stderr, "memory_limited: MEMORY_LIMITED_PROGRAM and MEMORY_LIMIT_KIB are needed\n");
    return 2;
  }
  const rlim_t bytes = static_cast<rlim_t>(std::strtoull(kib, nullptr, 10)) * 1024;
  const rlimit limit{bytes, bytes};
  if (setrlimit(RLIMIT_AS, &limit) != 0) {
    std::perror("memory_limited: setrlimit");
    return 2;
  }
  argv[0] = const_cast<char*>(program);
  execv(program, argv);
  std::perror("memory_limited: execv");
  return 127;
}
