#include "page_helpers/link_session.h"

namespace {
int g_actionsOnLink = 0;  // they nest: a modal box of one action may start another
}

UserActionOnLink::UserActionOnLink() { ++g_actionsOnLink; }
UserActionOnLink::~UserActionOnLink() { --g_actionsOnLink; }

bool UserActionHoldsLink() { return g_actionsOnLink > 0; }
