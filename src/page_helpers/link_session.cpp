#include "page_helpers/link_session.h"

int WindowMessageOf(const LinkError& error) {
  return error.step == LinkStep::Open ? kTextOpenUsbFailed : kTextSendFailed;
}

int WindowMessageOf(const InfoPageRead& read) {
  if (read.failure) return WindowMessageOf(*read.failure);
  return read.compatible ? 0 : kTextNotCompatible;
}
