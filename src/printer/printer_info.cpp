#include "printer/printer_info.h"

#include <new>

namespace {

const InfoPageLayout kPageLayouts[] = {
    {kTonerPageKeys, kTonerPageHeader},
    {kCountPageKeys, kCountPageHeader},
    {kMachinePageKeys, kMachinePageHeader},
    {kAdjustPageKeys, nullptr},
};

// The page's block as bytes, whatever its type; nullptr when not allocated.
char* BlockOfPage(const AppContext& ctx, int page) {
  switch (page) {
    case kTonerPageNumber:
      return ctx.tonerPage ? &ctx.tonerPage->field[0][0] : nullptr;
    case kCountPageNumber:
      return ctx.countPage ? &ctx.countPage->field[0][0] : nullptr;
    case kMachinePageNumber:
      return ctx.machinePage ? &ctx.machinePage->field[0][0] : nullptr;
    case kAdjustPageNumber:
      return ctx.adjustPage ? &ctx.adjustPage->field[0][0] : nullptr;
    default:
      return nullptr;
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

char* PageFields(AppContext& ctx, int page) { return BlockOfPage(ctx, page); }

const char* PageField(const AppContext& ctx, int page, int fieldIndex) {
  const InfoPageLayout* layout = FindInfoPageLayout(page);
  const char* block = BlockOfPage(ctx, page);
  if (!layout || !block || fieldIndex < 0 ||
      fieldIndex >= static_cast<int>(layout->keys.size())) {
    return "";
  }
  return block + fieldIndex * kInfoFieldSize;
}

int AllocatePageBlocks(AppContext& ctx) {
  bool ok = Renew(ctx.tonerPage);
  ok = Renew(ctx.countPage) && ok;
  ok = Renew(ctx.machinePage) && ok;
  ok = Renew(ctx.adjustPage) && ok;
  return ok ? 1 : 0;
}

int AllocateCounterBlocks(AppContext& ctx) {
  bool ok = Renew(ctx.replacementCounts);
  ok = Renew(ctx.applicationCounts) && ok;
  return ok ? 1 : 0;
}

void ReleasePrinterInfo(AppContext& ctx) {
  Free(ctx.tonerPage);
  Free(ctx.countPage);
  Free(ctx.machinePage);
  Free(ctx.adjustPage);
  Free(ctx.replacementCounts);
  Free(ctx.applicationCounts);
}
