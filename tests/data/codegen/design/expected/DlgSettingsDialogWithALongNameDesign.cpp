// YES -----------------------------------------------------------------
// DlgSettingsDialogWithALongNameDesign.cpp
// ※ このファイルはダイアログエディタが自動的に書き換えます。
//    ファイル先頭の「YES」を消すと更新されなくなります。
//----------------------------------------------------------------------
#include "DlgSettingsDialogWithALongName.h"


namespace _DlgSettingsDialogWithALongName
{

const char* DlgSettingsDialogWithALongName::GetIdName(int id)
{
	switch( id ){
	case -1:              return "DlgSettingsDialogWithALongName";
	case OGNothing:       return "OGNothing";
	}
	return NULL;
}

void DlgSettingsDialogWithALongName::SetImage()
{
	KXObject* obj;
	SetSize(800,480);
	SetColorBG(KX_COL_BLACK);

	KXGroupObject* pGroup1;
	KXGroupObject* pGroup2;

	pGroup1 = Group();
	pGroup2 = pGroup1->AddGroup(this,OGNothing,4,5,KX_ATTR_FOCUS);
	pGroup2->SetRadioButton(TRUE);
};
}
