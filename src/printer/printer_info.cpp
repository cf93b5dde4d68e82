#include "printer/printer_info.h"

#include <cstddef>
#include <new>

namespace {

const InfoPageLayout kPageLayouts[] = {
    {kTonerPageKeys, kTonerPageHeader},
    {kCountPageKeys, kCountPageHeader},
    {kMachinePageKeys, kMachinePageHeader},
    {kAdjustPageKeys, nullptr},
};

// The page's block as bytes, whatever its type; nullptr when not allocated.
char* BlockOfPage(const PrinterState& state, int page) {
  switch (page) {
    case kTonerPageNumber: return state.tonerPage ? &state.tonerPage->field[0][0] : nullptr;
    case kCountPageNumber: return state.countPage ? &state.countPage->field[0][0] : nullptr;
    case kMachinePageNumber: return state.machinePage ? &state.machinePage->field[0][0] : nullptr;
    case kAdjustPageNumber: return state.adjustPage ? &state.adjustPage->field[0][0] : nullptr;
    default: return nullptr;
  }
}

// Replaces *slot with a fresh zero-filled block; false when out of memory.
template <typename Block>
bool Renew(Block*& slot) {
  delete slot;
  slot = new (std::nothrow) Block{};
  return slot != nullptr;
}

template <typename Block>
void Free(Block*& slot) {
  delete slot;
  slot = nullptr;
}

}  // namespace

const InfoPageLayout* FindInfoPageLayout(int page) {
  if (page < kTonerPageNumber || page > kAdjustPageNumber) return nullptr;
  return &kPageLayouts[page - kTonerPageNumber];
}

char* PageFields(PrinterState& state, int page) { return BlockOfPage(state, page); }

const char* PageField(const PrinterState& state, int page, int fieldIndex) {
  const InfoPageLayout* layout = FindInfoPageLayout(page);
  const char* block = BlockOfPage(state, page);
  if (!layout || !block || fieldIndex < 0 || fieldIndex >= static_cast<int>(layout->keys.size())) {
    return "";
  }
  return block + static_cast<std::ptrdiff_t>(fieldIndex) * kInfoFieldSize;
}

int AllocatePageBlocks(PrinterState& state) {
  bool ok = Renew(state.tonerPage);
  ok = Renew(state.countPage) && ok;
  ok = Renew(state.machinePage) && ok;
  ok = Renew(state.adjustPage) && ok;
  return ok ? 1 : 0;
}

int AllocateCounterBlocks(PrinterState& state) {
  bool ok = Renew(state.replacementCounts);
  ok = Renew(state.applicationCounts) && ok;
  return ok ? 1 : 0;
}

void ReleasePrinterInfo(PrinterState& state) {
  Free(state.tonerPage);
  Free(state.countPage);
  Free(state.machinePage);
  Free(state.adjustPage);
  Free(state.replacementCounts);
  Free(state.applicationCounts);
}
