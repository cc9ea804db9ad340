#include "gui/PolicyDialogs.h"

#include "gui/AnalysisPolicySheet.h"
#include "gui/OutputPolicySheet.h"
#include "gui/ProgramSettingsDialog.h"
#include "gui/SavePolicyDialog.h"

bool EditAnalysisPolicies(FC& policies, ProgramSettings& settings, QWidget* parent) {
  AnalysisPolicySheet sheet(policies, settings, parent);
  sheet.exec();
  return sheet.ChangesApplied();
}

bool EditOutputPolicies(FC& policies, ProgramSettings& settings, QWidget* parent) {
  OutputPolicySheet sheet(policies, settings, parent);
  sheet.exec();
  return sheet.ChangesApplied();
}

bool EditProgramSettings(ProgramSettings& settings, QWidget* parent) {
  ProgramSettingsDialog dialog(settings, parent);
  dialog.exec();
  return dialog.Changed();
}

bool OpenPolicyFileDialog(FC& policies, ProgramSettings& settings,
                          const PolicyFileActions& actions, QString& loadedFile, QWidget* parent) {
  PolicyFileDialog dialog(policies, settings, parent);
  dialog.SetActions(actions);
  bool loaded = false;
  QObject::connect(&dialog, &PolicyFileDialog::PolicyFileLoaded, &dialog,
                   [&loaded, &loadedFile](const QString& name) {
                     loaded = true;
                     loadedFile = name;
                   });
  QObject::connect(&dialog, &PolicyFileDialog::PoliciesReset, &dialog, [&loaded, &loadedFile] {
    loaded = false;
    loadedFile.clear();
  });
  dialog.exec();
  return loaded;
}

bool OpenSavePolicyDialog(const FC& policies, ProgramSettings& settings, QWidget* parent) {
  SavePolicyDialog dialog(policies, settings, parent);
  return dialog.exec() == QDialog::Accepted;
}
