// Execute chooses between the dialog's two faces. It has a file of its own: the drawn face,
// TAdvMessageForm, is made from the dialog's description, so its header includes the dialog's,
// and the dialog's own file does not include it back.
#include "ui/CustomAdvTaskDialog.h"

#include "ui/AdvMessageForm.h"

int TCustomAdvTaskDialog::Execute() {
  if (UsesPlatformFace()) return ExecutePlatformFace();
  TAdvMessageForm form(*this);
  return form.ShowModal();
}
