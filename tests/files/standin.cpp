// Stands in for DeepFinesse in tests: writes its working folder, the number
// of its arguments and each argument, one per line, into standin.log in the
// working folder, and ends.
#include <filesystem>
#include <fstream>

int main(int argc, char** argv) {
  std::ofstream log("standin.log", std::ios::binary);
  log << std::filesystem::current_path().string() << "\n" << argc - 1 << "\n";
  for (int i = 1; i < argc; ++i) log << argv[i] << "\n";
  return 0;
}
