// The preview's tooltip: each sample text's contrast ratio against the
// background, and its level. Made at the first mouse move over the dialog,
// destroyed on the dialog's close path.
#ifndef PIKURIO_CONTRAST_TIP_H
#define PIKURIO_CONTRAST_TIP_H

#include <windows.h>

void CreateContrastTip(HWND dialog, LPARAM mouseMove);
void OnContrastTipNotify(NMHDR* header);
void UpdateContrastTip();
void EnableContrastTip(bool enable);
void PopContrastTip();
void DestroyContrastTip();

#endif
