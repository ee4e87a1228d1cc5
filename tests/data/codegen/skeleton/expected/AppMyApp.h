//----------------------------------------------------------------------
// AppMyApp.h
//----------------------------------------------------------------------
#pragma once
#include "MyApp.h"

class AppSound : public KXSound
{
public:
	AppSound();
	~AppSound();

	virtual void Button(int act,int handleobj);
	virtual void Keyboard(int act,int handleobj);
	virtual void Quit();
	virtual void Open(int handledlg);
	virtual void Close(int handledlg);
	virtual void Wheel(int val);
	virtual void User(int id,void* data);
};

class AppMyApp : public KXApplication
{
public:
	AppMyApp();
	~AppMyApp();

	int Initialize(int argc, char **argv);
	virtual void SetImage();
	virtual const char* GetIdName(int id=-1);
	virtual void ReceiveEvent(int id,int fd);

	void Finish();

private:
	AppSound mSound;
};
