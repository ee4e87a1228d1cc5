//----------------------------------------------------------------------
// main.cpp
//----------------------------------------------------------------------
#include "AppMyApp.h"
#include "DlgMain.h"

AppMyApp app;

int main(int argc, char **argv)
{
	int quit = FALSE;

	if( app.Initialize(argc, argv) ){

		DlgMain* dlg = new DlgMain(app.GetCore());
		dlg->OpenDialog(10,20);

		while( !quit ){
			_KXEvent event;
			if( app.GetEvent(&event) ){
				if( app.CheckEvent(&event) == -1 ) quit = TRUE;
			}
		}
	}
	app.Finish();
}
