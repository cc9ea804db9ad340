#pragma once

#include <QString>
#include <functional>

// What the buttons of the policy file dialog do; an empty action does the
// dialog's own. The dialog itself comes with the policy editor.
struct PolicyFileActions {
  // Loads one file and reports its own failure; true when loaded.
  std::function<bool(const QString& name)> load;
  std::function<void()> save;
  std::function<void()> reset;
};
