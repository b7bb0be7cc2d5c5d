// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a tab-delimited gaussian-mixture table for the scale benchmarks, fast enough for tens
// of millions of cells: rows drawn around `centres` random centres, unit spread, five decimals.
//   mixture_table ROWS COLUMNS [CENTRES [SEED]] > table.txt
// The same arguments give the same file.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// splitmix64: small, fast and good enough for test data.
struct CRandom {
  uint64_t state;
  uint64_t Next() {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // In (0, 1].
  double Uniform() { return (static_cast<double>(Next() >> 11) + 1.0) * 0x1.0p-53; }
};

void Append(std::string& out, double value) {
  char buffer[32];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 5);
  out.append(buffer, result.ptr);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fputs("usage: mixture_table ROWS COLUMNS [CENTRES [SEED]]\n", stderr);
    return 2;
  }
  const long rows = std::strtol(argv[1], nullptr, 10);
  const long columns = std::strtol(argv[2], nullptr, 10);
  const long centres = argc > 3 ? std::strtol(argv[3], nullptr, 10) : 12;
  const uint64_t seed =
      argc > 4 ? std::strtoull(argv[4], nullptr, 10) : static_cast<uint64_t>(rows) * 1000 + columns;
  if (rows < 1 || columns < 1 || centres < 1) {
    std::fputs("mixture_table: ROWS, COLUMNS and CENTRES must be positive\n", stderr);
    return 2;
  }
  CRandom random{seed};
  std::vector<double> centre(static_cast<size_t>(centres * columns));
  for (double& value : centre)
    value = 6.0 * (random.Uniform() - 0.5);

  std::string out = "T";
  for (long j = 0; j < columns; ++j)
    out += "\tc" + std::to_string(j);
  out += '\n';
  constexpr double kTwoPi = 6.283185307179586;
  for (long i = 0; i < rows; ++i) {
    const long c = static_cast<long>(random.Next() % static_cast<uint64_t>(centres));
    out += 'r';
    out += std::to_string(i);
    for (long j = 0; j < columns; ++j) {
      const double u = random.Uniform();
      const double v = random.Uniform();
      out += '\t';
      Append(out, centre[static_cast<size_t>(c * columns + j)] +
                      std::sqrt(-2.0 * std::log(u)) * std::cos(kTwoPi * v));
    }
    out += '\n';
    if (out.size() > (size_t{1} << 20)) {
      if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size()) return 1;
      out.clear();
    }
  }
  if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size()) return 1;
  return std::fflush(stdout) == 0 ? 0 : 1;
}
