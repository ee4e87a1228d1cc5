// YES -----------------------------------------------------------------
// DlgemptyDesign.cpp
// ※ このファイルはダイアログエディタが自動的に書き換えます。
//    ファイル先頭の「YES」を消すと更新されなくなります。
//----------------------------------------------------------------------
#include "Dlgempty.h"


namespace _Dlgempty
{

const char* Dlgempty::GetIdName(int id)
{
	switch( id ){
	case -1:              return "Dlgempty";
	}
	return NULL;
}

void Dlgempty::SetImage()
{
	KXObject* obj;
	SetSize(320,240);
	SetColorBG(KX_COL_WHITE);

	KXGroupObject* pGroup1;

	pGroup1 = Group();
};
}
