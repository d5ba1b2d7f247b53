#include "framework/CObject.h"

// CObject itself is abstract in spirit: it has a record but no creation function.
const CRuntimeClass CObject::s_runtimeClass = {"CObject", static_cast<int>(sizeof(CObject)), 0xFFFF, nullptr,
                                               nullptr};

CObject* CRuntimeClass::CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
        if (c == base) return true;
    return false;
}

const CRuntimeClass* CObject::GetRuntimeClass() const { return &s_runtimeClass; }

void CObject::Serialize(CArchive&) {}

void CObject::AssertValid() const {}

void CObject::Dump(CDumpContext&) const {}

bool CObject::IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }
