#pragma once

#include <gtest/gtest.h>

#include "diagram.h"

// Every element and connector of `d` equals the one of `expected` at the same index: what an
// undo must give back.
inline void expectSameEntries(const Diagram& d, const Document& expected) {
    ASSERT_EQ(d.elementCount(), expected.elementCount());
    for (int i = 1; i < expected.elementCount(); ++i)
        EXPECT_EQ(d.element(i), expected.element(i)) << "element " << i;
    for (int k = 1; k < expected.connectorCount(); ++k)
        EXPECT_EQ(d.connector(k), expected.connector(k)) << "connector " << k;
}
