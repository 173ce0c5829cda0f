// The command line and the fields whose changes ask the controller for more.

#include "link/form1.h"
#include "runtime/window.h"

namespace kestrava {

// Enter sends the whole command line; the text stays for sending again.
void Form1::Form1_Text3_KeyDown(int keyCode, int shift) {
  (void)shift;
  if (keyCode == form::kKeyReturn) send(Text3.text());
}

// Every change of the stop count asks for the "bbt" reading.
void Form1::Form1_Text2_Change() {
  send("bbt");
}

// Every new "bbt" reading drops a pending silence poll and asks for the "flt0" reading.
void Form1::Form1_txtbbt_Change() {
  Timer5.setEnabled(false);
  send("flt0");
}

}  // namespace kestrava
