<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>COMPROCESS_Form</name>
    <message>
        <source>查找设备中:</source>
        <translation>Searching for device:</translation>
    </message>
    <message>
        <source>读频</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>写频</source>
        <translation>Write</translation>
    </message>
    <message>
        <source> 读取数据: </source>
        <translation> Reading data: </translation>
    </message>
    <message>
        <source> 写入数据: </source>
        <translation> Writing data: </translation>
    </message>
    <message>
        <source> 校验数据: </source>
        <translation> Verifying data: </translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>[读频操作]</source>
        <translation>[Read Radio]</translation>
    </message>
    <message>
        <source>读取数据成功!</source>
        <translation>Data read successfully!</translation>
    </message>
    <message>
        <source>串口打开失败,请刷新重新选择!</source>
        <translation>Failed to open the serial port, please refresh and choose again!</translation>
    </message>
    <message>
        <source>读取数据失败,非法机型!</source>
        <translation>Reading failed: unsupported radio model!</translation>
    </message>
    <message>
        <source>读取数据失败,请检查连接线路!</source>
        <translation>Reading failed: please check the cable connection!</translation>
    </message>
    <message>
        <source>[写频操作]</source>
        <translation>[Write Radio]</translation>
    </message>
    <message>
        <source>写入数据成功!</source>
        <translation>Data written successfully!</translation>
    </message>
    <message>
        <source>写入数据失败,机型错误!</source>
        <translation>Writing failed: wrong radio model!</translation>
    </message>
    <message>
        <source>写入数据失败,请检查连接线路!</source>
        <translation>Writing failed: please check the cable connection!</translation>
    </message>
    <message>
        <source>写入数据完成,但校验读取失败,请检查连接线路!</source>
        <translation>Data written, but the read-back to verify it failed: please check the cable connection!</translation>
    </message>
    <message>
        <source>写频校验失败,对讲机地址0x%1的数据为%2,应为%3!</source>
        <translation>Verify after write failed: radio address 0x%1 holds %2, %3 was written!</translation>
    </message>
</context>
</TS>