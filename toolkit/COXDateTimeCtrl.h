#pragma once
// A date and time picker with a drop-down month calendar.
class COXDateTimeCtrl {
};
