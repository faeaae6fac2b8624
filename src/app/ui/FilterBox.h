#pragma once

// The preset filter's box (Combo1) behaves as a drop-down list where the
// user may also type: a click on its text opens the list as a click on its
// arrow does, and a text it is given (a word picked from the list, the
// word a legend row asks for) is shown from its start, not scrolled to its
// end. While the user edits the text the cursor stays where they put it.

class QComboBox;

namespace corvane {

void setUpFilterBox(QComboBox *box);

} // namespace corvane
