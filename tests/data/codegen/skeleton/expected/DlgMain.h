//----------------------------------------------------------------------
// DlgMain.h
//----------------------------------------------------------------------
#pragma once
#include "AppMyApp.h"
#include "DlgMainDesign.h"


using namespace _DlgMain;

namespace _DlgMain
{

class DlgMain : public KXDialog
{
public:
	DlgMain(KXCore* core);
	virtual ~DlgMain();

	virtual void SetImage();
	virtual const char* GetIdName(int id=-1);
	virtual void PreInitial();
	virtual void PostInitial(KXHandle handledlg,int id);
	virtual void Activate();
	virtual void Inactivate();
	virtual void Draw(KXRect region);
	virtual void Closed(KXHandle handledlg,int id,int param);

	virtual void Timer(struct timeval time);
	virtual void SingleTimer(TimeVal time);

	virtual void ReceiveUserEvent(int param,void* data,KXHandle handledlg,KXHandle handleobj);

	virtual void DownButton(KXHandle handleobj,int act);
	virtual void UpButton(KXHandle handleobj,int act);
	virtual void ClickButton(KXHandle handleobj,int act);
	virtual void MoveCursor(int x,int y,int act);
};

}
