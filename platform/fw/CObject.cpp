#include "platform/fw/CObject.h"

const CRuntimeClass CObject::classCObject{"CObject", sizeof(CObject), 0xFFFF, nullptr, nullptr};

const CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }
