#include "print_format.hpp"

namespace yinshi::frontend {
namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

void AppendPower(std::string& h, int k) {
  h += "^ ";
  h += std::to_string(k);
}

}  // namespace

std::size_t CharCount(std::string_view utf8) {
  std::size_t n = 0;
  for (char c : utf8)
    if (!IsContinuationByte(c)) ++n;
  return n;
}

std::vector<std::string> PrintWrapped(std::string_view utf8) {
  std::vector<std::string> slices(1);
  std::size_t inSlice = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (!IsContinuationByte(utf8[i])) {
      if (inSlice == kPrinterLineChars) {
        slices.emplace_back();
        inSlice = 0;
      }
      ++inSlice;
    }
    slices.back() += utf8[i];
  }
  if (inSlice == kPrinterLineChars) slices.emplace_back();
  return slices;
}

std::string CompactRepeats(std::string_view line) {
  const std::size_t p1 = line.find('(');
  if (p1 == std::string_view::npos) return std::string(line);
  const std::size_t p2 = line.find(')', p1);
  if (p2 == std::string_view::npos) return std::string(line);

  std::string_view f = line.substr(p1, p2 - p1 + 1);
  std::string h(line.substr(0, p2 + 1));
  std::string_view rest = line.substr(p2 + 1);
  int k = 1;
  while (!rest.empty()) {
    const std::size_t q = rest.find(')');
    if (q == std::string_view::npos) {
      if (k > 1) AppendPower(h, k);
      h += rest;
      return h;
    }
    const std::string_view g = rest.substr(0, q + 1);
    rest = rest.substr(q + 1);
    if (g == f) {
      ++k;
      if (rest.empty()) AppendPower(h, k);
      continue;
    }
    if (k > 1) AppendPower(h, k);
    h += g;
    f = g;
    k = 1;
  }
  return h;
}

std::vector<std::string> TranscriptPrintLines(const std::vector<std::string>& transcript) {
  std::vector<std::string> out{std::string()};
  std::string lastPrinted;
  auto printWrapped = [&](std::string text) {
    for (auto& slice : PrintWrapped(text)) out.push_back(std::move(slice));
    lastPrinted = std::move(text);
  };
  std::size_t n = 0;
  for (const std::string& line : transcript) {
    ++n;
    if (n < 4 || (n == 4 && line.find('[') != std::string::npos)) {
      printWrapped(line);
    } else if (line.find('(') == std::string::npos) {
      out.push_back(line);  // unsliced, and not remembered as printed
    } else {
      std::string compact = CompactRepeats(line);
      if (compact != lastPrinted) printWrapped(std::move(compact));
    }
  }
  out.emplace_back();
  return out;
}

}  // namespace yinshi::frontend
