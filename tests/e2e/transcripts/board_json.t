# The board's board.json for a folder load, byte for byte, and the same
# bytes from the Windows build under Wine: sectors from the splits, a split
# after the lap's time, a split that does not read as a time (61 seconds),
# and texts read as Windows-1252 and escaped.
dir r
replay r/a.spr racer=alpha time=1,20,5,3 splits=3 split1=661760 split2=1979392 lap=3
replay r/b.spr racer=beta time=1,21,0,0 splits=3 split1=24 split2=1979392
replay r/c.spr 'racer=<b>"c&d\</b>' time=1,22,50,0 splits=2 split1=3217664
replay r/e.spr racer=echo time=1,23,0,0 splits=2 split1=15616
replay r/d.spr racer=x byte@64=233 byte@65=128 byte@66=0 track=Aston code=AS1 car="BMW SAUBER" time=1,1,1,1
args: --board site r
written site/board.json:
|{"version":1,"title":"zeb hotlap board","rankings":[$
|{"track":"as","layout":"as1","car":"bf1","track_name":"Aston","car_name":"BMW SAUBER","page":"as1-bf1.html","entries":[$
|{"pos":0,"racer":"\xc3\xa9\xe2\x82\xac","ms":61011,"time":"01:01.011","lap":1,"splits":[],"sectors":[61011]}]},$
|{"track":"bl","layout":"bl1","car":"xrt","track_name":"Blackwood","car_name":"XR GT TURBO","page":"bl1-xrt.html","entries":[$
|{"pos":0,"racer":"alpha","ms":80053,"time":"01:20.053","lap":3,"splits":[25100,52300],"sectors":[25100,27200,27753]},$
|{"pos":1,"racer":"beta","ms":81000,"time":"01:21.000","lap":1,"splits":[1440000,52300],"sectors":null},$
|{"pos":2,"racer":"<b>\\"c&d\\\\</b>","ms":82500,"time":"01:22.500","lap":1,"splits":[25490],"sectors":[25490,57010]},$
|{"pos":3,"racer":"echo","ms":83000,"time":"01:23.000","lap":1,"splits":[61000],"sectors":null}]}]}$
stdout:
|\tr/a.spr loaded!$
|\tappended at pos 0$
|\tr/b.spr loaded!$
|\tappended at pos 1$
|\tr/c.spr loaded!$
|\tappended at pos 2$
|\tr/d.spr loaded!$
|\tappended at pos 0$
|\tr/e.spr loaded!$
|\tappended at pos 3$
|\tr: 5 replay files, 5 filed$
|ZEB> %
