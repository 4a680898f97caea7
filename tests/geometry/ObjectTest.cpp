// The run-time class registry that the archive looks classes up in.
#include "geometry/Object.h"

#include <gtest/gtest.h>

namespace {

class CProbe : public CObject {
    TESSEL_DECLARE_DYNCREATE(CProbe)
};
TESSEL_IMPLEMENT_DYNCREATE(CProbe, CObject)

} // namespace

TEST(RuntimeClass, RegistersByNameAndCreatesEmptyObjects) {
    const CRuntimeClass* cls = CRuntimeClass::FromName("CProbe");
    ASSERT_EQ(cls, &CProbe::classCProbe);
    EXPECT_EQ(cls->m_schema, 1);
    CObject* made = cls->CreateObject();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetRuntimeClass(), cls);
    EXPECT_TRUE(made->IsKindOf(&CObject::classCObject));
    delete made;
}

TEST(RuntimeClass, UnknownNamesAndTheRootAreNotCreatable) {
    EXPECT_EQ(CRuntimeClass::FromName("CNoSuchClass"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("cprobe"), nullptr);
    EXPECT_EQ(CObject::classCObject.CreateObject(), nullptr);
}
