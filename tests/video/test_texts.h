#pragma once
// The English messages the picture commands compose, for tests that must not
// depend on the language files.
#include "texts/interface_texts.h"

namespace video::testing_support {

inline texts::InterfaceTexts englishPictureTexts() {
  texts::InterfaceTexts t;
  t.Messages[25] = "Horizontal position";
  t.Messages[26] = "Vertical position";
  t.Messages[27] = "Center";
  t.Messages[32] = "PanScan";
  t.Messages[33] = "PanScan off";
  t.Messages[34] = "Aspect Ratio";
  t.Messages[48] = "original";
  t.Messages[49] = "free";
  t.Messages[51] = "Automatic PanScan";
  return t;
}

}  // namespace video::testing_support
