// YES -----------------------------------------------------------------
// DlgSettingsDialogWithALongNameDesign.h
// ※ このファイルはダイアログエディタが自動的に書き換えます。
//    ファイル先頭の「YES」を消すと更新されなくなります。
//----------------------------------------------------------------------

namespace _DlgSettingsDialogWithALongName
{

enum
{
	OGNothing,
};

}
