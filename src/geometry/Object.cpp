// The registry of run-time classes and the root object's defaults.
#include "geometry/Object.h"

namespace {

// Head of the list of registered classes. A plain pointer is zero before any constructor
// runs, so registration works whatever order the static class objects are built in.
const CRuntimeClass* g_firstRegistered = nullptr;

} // namespace

CRuntimeClass::CRuntimeClass(const char* className, int schema, CObject* (*create)(),
                             const CRuntimeClass* base)
    : m_className(className), m_schema(schema), m_create(create), m_base(base),
      m_nextRegistered(g_firstRegistered) {
    g_firstRegistered = this;
}

CObject* CRuntimeClass::CreateObject() const {
    return m_create ? m_create() : nullptr;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    for (const CRuntimeClass* cls = this; cls; cls = cls->m_base) {
        if (cls == base) {
            return true;
        }
    }
    return false;
}

const CRuntimeClass* CRuntimeClass::FromName(std::string_view className) {
    for (const CRuntimeClass* cls = g_firstRegistered; cls; cls = cls->m_nextRegistered) {
        if (className == cls->m_className) {
            return cls;
        }
    }
    return nullptr;
}

const CRuntimeClass CObject::classCObject("CObject", 0xFFFF, nullptr, nullptr);

const CRuntimeClass* CObject::GetRuntimeClass() const {
    return &classCObject;
}

void CObject::Serialize(CArchive&) {}

bool CObject::IsKindOf(const CRuntimeClass* cls) const {
    return GetRuntimeClass()->IsDerivedFrom(cls);
}
