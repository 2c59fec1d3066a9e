// The mini-COM in one include: GUIDs, BSTRs, IUnknown, IDispatch, IClassFactory and
// in-process activation through the registry stand-in.
#pragma once

#include "platform/com/Activation.h"
#include "platform/com/Bstr.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/Dispatch.h"
#include "platform/com/Guid.h"
#include "platform/com/Types.h"
#include "platform/com/Unknown.h"
