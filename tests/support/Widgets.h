// Finding a form's components by their names.
#pragma once

#include <gtest/gtest.h>

#include <QObject>
#include <QString>

namespace testing_support {

// The child of `root` named `name`; fails the test (and returns null) when none.
template <typename T>
T* Find(QObject* root, const char* name) {
  T* child = root->findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(nullptr, child) << "no component named " << name;
  return child;
}

}  // namespace testing_support
